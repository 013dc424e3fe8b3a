#include "app/About.h"

About::About() {}

About* About::LoadAndShow() { return nullptr; }

void About::Form_Load() {}
void About::Command1_Click() { close(); }
