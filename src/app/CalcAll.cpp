// The whole rebuild, across the subsystems: the model first, then what shows it.
#include "app/MainForm.h"
#include "platform/Guarded.h"

void TMainForm::CalcAll() {
    Guarded("CalcAll", [&] {
        if (!Model.Rebuild(Handle())) return;
        Pointer.EntriesRebuilt();
        if (Handle() && !PanelShown) PostMessageA(Handle(), kPaintAheadMessage, 0, 0);
    });
}
