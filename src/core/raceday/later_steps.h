// Steps of the day load and the race selection that belong to the bet window, the live day and
// the prediction files. Each does nothing until its subsystem is in place.
#pragma once

namespace sorvane {

class AppShell;

void KaimePutBtn(AppShell& shell);    // the axis/partner marks of the selected race
void KaisaiReadBtn(AppShell& shell);  // the change information of a live day
void YosoWriteBtn(AppShell& shell);   // the day's prediction files
void KaimeMakeBtn(AppShell& shell);   // the bet window's combinations from the marks

}  // namespace sorvane
