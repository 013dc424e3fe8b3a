#include "records/UserAdd.h"

UserAdd::UserAdd() {}

void UserAdd::Command1_Click() {}
