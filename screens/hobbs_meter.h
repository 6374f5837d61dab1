// The Hobbs meter setup.
#pragma once

void HobbsMeterScreen();
