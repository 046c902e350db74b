#pragma once

#include <QFont>

// The program's Chinese text face at a pixel size. Which installed family
// serves is looked up once and shared by every window; the lookup starts
// fontconfig, so the first call is best made once the drop window is shown.
QFont programFont(int pixels);
