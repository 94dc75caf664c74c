#pragma once

// Fills the message catalogue with the program's built-in English texts, for front ends
// that run without a language file.
void LoadEnglishMessages();
