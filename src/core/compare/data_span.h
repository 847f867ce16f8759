// The data-range window TDataSpanSetForm ("過去走データ利用範囲指定"): how many days of past
// runs the interactive comparisons use, kept as DataSpan / period in the settings file.
#pragma once

#include <string>

namespace sorvane {

class AppShell;

struct DataSpanSetForm {
    static constexpr int kMin = 100;  // days
    static constexpr int kMax = 7300;
    static constexpr int kDefault = 1000;  // shown when the setting is missing
    int spinEdit1 = kDefault;
    // Shift-JIS texts of the window.
    std::string caption;
    std::string unitLabel;    // "日"
    std::string explanation;  // what the value means and its lower bound
};

// The window as it opens: the stored period within the spin box's range.
DataSpanSetForm OpenDataSpanSetForm(AppShell& shell);
// OK: the spin value (brought into the range) is written to DataSpan / period.
void AcceptDataSpan(AppShell& shell, const DataSpanSetForm& form);

}  // namespace sorvane
