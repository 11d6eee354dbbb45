#include "convert/office/OfficeEngine.h"
// Placeholder until the engine lands.
void RegisterOfficeEngine() {}
