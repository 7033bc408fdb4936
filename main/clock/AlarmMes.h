// The alarm notice "Mivora Alarm": where and when the alarm was set, its memo,
// and an OK button. One is made for each alarm that fires and goes when it is
// closed.
#pragma once
#include "framework/forms/ComCtrls.h"
#include "framework/forms/StdCtrls.h"

namespace worldclock {

class TAlarmMes : public TForm {
public:
    explicit TAlarmMes(TComponent* AOwner);
    ~TAlarmMes() override;

    TStaticLabel* Label1;
    TAnimate* Animate1;
    TMemo* Memo1;
    TButton* Button1;
};

// The notice on screen, the newest when several are; null when none is.
extern TAlarmMes* AlarmMes;

}  // namespace worldclock
