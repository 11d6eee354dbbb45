// Placeholder conversion run.
#include "main/Form1.h"
void Form1::Check2_Click() {}
