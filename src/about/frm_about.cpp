#include "about/frm_about.h"

namespace morvane::about {

FrmAbout::FrmAbout(platform::Platform& platform) : platform_(platform) {}

FrmAbout::~FrmAbout() = default;

void FrmAbout::show() {}

}  // namespace morvane::about
