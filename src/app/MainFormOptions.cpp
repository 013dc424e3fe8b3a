// The Options menu: wallpaper, ball outline and deletion of the records.
#include "app/MainForm.h"

void MainForm::mnu_BackColar_Click() {}
void MainForm::mnu_Maru_Click() {}
void MainForm::mnu_Daia_Click() {}
void MainForm::mnu_Sankaku_Click() {}
void MainForm::mnu_Ame_Click() {}
void MainForm::mnu_Del_Click() {}
