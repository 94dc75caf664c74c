#include "core/MessageBoxPort.h"

#include <iostream>

void TStderrMessageBoxes::ShowErrorBox(const std::string& caption, const std::string& text)
{
    std::cerr << caption << ' ' << text << std::endl;
}
