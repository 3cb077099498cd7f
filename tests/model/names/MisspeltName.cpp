// Built only by the name-checking tests: a control name written in the code must name a control,
// or the program does not build.
#include "model/StationSettings.h"

#ifdef KORVEL_NAME_SPELT_RIGHT
#define KORVEL_TESTED_NAME "CBRTEN"
#else
#define KORVEL_TESTED_NAME "CBRTNE"
#endif

bool radiotextEnabled(const korvel::model::StationSettings& settings) {
    return settings.flag(KORVEL_TESTED_NAME);
}
