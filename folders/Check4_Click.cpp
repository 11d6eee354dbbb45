// Placeholder folder import.
#include "main/Form1.h"
void Form1::Check4_Click() {}
