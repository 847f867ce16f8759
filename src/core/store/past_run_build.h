// The past-run build: for every touched race day, every race with final results and every
// runner with final results, the race's line replaces or joins the runner's past-run file.
// Horse files are held in memory during the build and each is written whole once it holds
// every line of the build (or when the memory budget is reached).
#pragma once

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/files.h"
#include "store/bulk_store.h"
#include "store/file_writer.h"
#include "store/folder_index.h"
#include "store/past_run_file.h"

namespace sorvane {

// One race of a day as the build reads it: the RA record and the runner slots 0 .. c - 1 read
// by position from the track's runner file (the other slots blank).
struct DayRace {
    std::string_view ra;  // without CR LF
    RunnerSlots runners{};
    int raceNumber = 0;
    int registered = 0;   // clamped to 0..18
    bool inRange = true;  // race number 1..12; a race outside has no runner slots
};

// The races of one RA day file: consecutive 1272-byte records (all of them; a short trailing
// piece is not a record), each with its runners.
class DayRaces {
  public:
    // False when the day file does not exist.
    bool Load(FolderIndex& data, const std::string& dayFileName);
    const std::vector<DayRace>& races() const { return races_; }

  private:
    std::string raData_;
    std::unordered_map<std::string, std::string> runnerFiles_;
    std::vector<DayRace> races_;
};

struct BuildTally {
    int days = 0;         // day files built
    int missingDays = 0;  // listed but not in Data
    int lines = 0;        // lines put into horse files
    int horseFilesWritten = 0;
    int racesOutOfRange = 0;  // final races numbered outside 1..12: no runner slots to read
    int badBloodNumbers = 0;  // final runners whose number cannot name a file
};

class PastRunBuilder {
  public:
    // Creates the SEI folder when missing; throws FileError when it cannot. With writers > 0
    // the horse files of a flush are written by that many background workers.
    explicit PastRunBuilder(const ProgramFolder& folder, size_t memoryBudget = kDefaultStoreBudget,
                            int writers = 0);

    // Puts the lines of one day into the horse files held; false when the day file is missing.
    bool BuildDay(const std::string& dayFileName);
    // Writes each changed horse file whole (creating its sub-folder) and returns when all are
    // written. Throws FileError.
    void Flush();

    const BuildTally& tally() const { return tally_; }

  private:
    struct HorseFile {
        fs::path dir;
        std::string folderName;
        fs::path path;
        bool exists = false;
        std::vector<std::string> lines;
        bool dirty = false;
    };
    HorseFile& Horse(std::string_view blood);
    FolderIndex& Sub(const std::string& folderName, fs::path* dir, bool* exists);

    const ProgramFolder& folder_;
    size_t budget_;
    FolderIndex data_;
    FolderIndex sei_;
    std::unordered_map<std::string, FolderIndex> subs_;  // by folded folder name
    std::unordered_map<std::string, HorseFile> horses_;  // by folded blood number
    size_t bytes_ = 0;
    BuildTally tally_;
    FileWriter writer_;
};

// What the build tells its window as it goes.
struct BuildHooks {
    // ProgressBar3 (position of max) and the hidden label Label9; the window lets pending
    // messages run here.
    std::function<void(int position, int max, const std::string& label9)> progress;
    // Checked before each day: a cancel stops the build (files written stay whole).
    std::function<bool()> cancelled;
};

enum class BuildResult { NothingToDo, Done, Cancelled };

// The build over the day file names (sorted, unique). On Done the days are removed from the
// pending build and Label9 gets "過去走データを構築しました。" (the caller beeps). Throws
// FileError; files written before stay whole and the days stay pending. `writers` as for
// PastRunBuilder; every horse file is written before the days leave the pending build.
BuildResult RunPastRunBuild(const ProgramFolder& folder, const std::vector<std::string>& days,
                            const BuildHooks& hooks, BuildTally* tally = nullptr,
                            size_t memoryBudget = kDefaultStoreBudget, int writers = 0);

// "過去走データを構築しました。"
const std::string& BuildDoneText();

}  // namespace sorvane
