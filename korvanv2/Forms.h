#pragma once
// The program's forms, made once at start-up and kept until it ends.

// Creates every form in start-up order, the main window first, then lets the main window
// enable the commands whose dialogs are part of the program.
void CreateForms();
// Deletes the forms in the reverse order and clears their globals.
void DestroyForms();
