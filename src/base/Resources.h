// The pictures compiled into the program (icons, toolbar sets).
#pragma once

// Registers the compiled-in pictures; safe to call more than once.
void InitResources();
