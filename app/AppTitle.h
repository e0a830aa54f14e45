#pragma once

// The application title: the main window's caption and title line, and the
// name of the mutex that keeps the program to one instance.
inline constexpr char kAppTitle[] = "Quorvanta Lumiskop v3.1.08";
