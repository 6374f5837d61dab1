#pragma once

void MainMenuScreen();
