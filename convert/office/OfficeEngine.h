#pragma once
// Registers the office engine as the class "Word.Application".
void RegisterOfficeEngine();
