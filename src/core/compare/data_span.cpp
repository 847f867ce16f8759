#include "compare/data_span.h"

#include <algorithm>

#include "base/sjis.h"
#include "shell/app_shell.h"

namespace sorvane {

DataSpanSetForm OpenDataSpanSetForm(AppShell& sh) {
    DataSpanSetForm f;
    f.caption = Sj("過去走データ利用範囲指定");
    f.unitLabel = Sj("日");
    f.explanation =
        Sj("馬同士の能力比較に利用するデータの範囲を日単位で指定してください。なお、100日未満には"
           "指定できません。");
    int stored = sh.settings().ReadInteger("DataSpan", "period", DataSpanSetForm::kDefault);
    f.spinEdit1 = std::clamp(stored, DataSpanSetForm::kMin, DataSpanSetForm::kMax);
    return f;
}

void AcceptDataSpan(AppShell& sh, const DataSpanSetForm& f) {
    int v = std::clamp(f.spinEdit1, DataSpanSetForm::kMin, DataSpanSetForm::kMax);
    sh.settings().WriteInteger("DataSpan", "period", v);
}

}  // namespace sorvane
