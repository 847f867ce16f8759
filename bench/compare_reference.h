// The pair comparisons computed the slow, literal way, as a yardstick for the engine: every
// record is read from its file by position when it is needed, and for every opponent of A
// B's whole file is read again. Same results as CompareEngine, written to the same fields.
#pragma once

#include "base/files.h"
#include "compare/search2ba.h"

namespace sorvane {

class RaceDay;

void ReferenceSearch2Ba(const ProgramFolder& folder, RaceDay& day, const PairArgs& pair);
void ReferenceSearch2BaDirect(const ProgramFolder& folder, RaceDay& day, const PairArgs& pair);

}  // namespace sorvane
