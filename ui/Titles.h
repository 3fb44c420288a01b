#pragma once
// Window titles exactly as the windows set them. The platform layer never shows an empty title:
// it puts the application's name in its place, so that a box that must have no title would
// read "Kovaline". Installed once on the application, this puts the empty title back.

namespace kov {

void keepExactTitles();

}  // namespace kov
