// The progress window TPrgrsForm as plain data: shown modelessly while a day loads, with a
// progress bar and two labels. Front ends show it whenever it is visible.
#pragma once

#include <string>

namespace sorvane {

struct ProgressFormState {
    bool visible = false;
    int barMax = 100;
    int barPosition = 0;
    std::string label1;  // Shift-JIS: what is being done
    std::string label2;  // Shift-JIS: the item being worked on

    void Show(int max, std::string text, std::string item) {
        visible = true;
        barMax = max;
        barPosition = 0;
        label1 = std::move(text);
        label2 = std::move(item);
    }
    void Close() { visible = false; }
};

}  // namespace sorvane
