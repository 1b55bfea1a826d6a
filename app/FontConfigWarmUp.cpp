#include "FontConfigWarmUp.h"

#include <fontconfig/fontconfig.h>

FontConfigWarmUp::FontConfigWarmUp() : reader_([] { FcInit(); }) {}

FontConfigWarmUp::~FontConfigWarmUp() { finish(); }

void FontConfigWarmUp::finish() {
    if (reader_.joinable()) reader_.join();
}
