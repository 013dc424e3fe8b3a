#include "play/GameTable.h"

#include "app/MainForm.h"

GameTable::GameTable(QWidget* parent) : QWidget(parent) {}

GameTable* GameTable::LoadAndShow(MainForm&)
{
    return nullptr;  // comes with the stage play
}

GameTable* GameTable::Instance() { return nullptr; }
