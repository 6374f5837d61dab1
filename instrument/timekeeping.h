// Flight timer, Hobbs meter and maintenance countdown, advanced once per
// second by the main cycle.
#pragma once

void OneSecondBlock();
