// Placeholder start-up, pointer feedback and shut-down.
#include "main/Form1.h"

#include <QCoreApplication>

void Form1::Form_Load() {}
void Form1::Form_Unload() { QCoreApplication::quit(); }
void Form1::Form_MouseMove() {}
void Form1::Check1_MouseMove() {}
void Form1::Check2_MouseMove() {}
void Form1::Check4_MouseMove() {}
void Form1::setMousePointer(int state) { mousePointer = state; }
void Form1::CenterForm(QWidget &) {}
void Form1::VisitHomePageAtRandom() {}
