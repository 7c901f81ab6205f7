// The program's help: the help file Zelmar.chm of the program folder (found without regard to
// letter case) shown in the help window. "Помощь" shows its contents; F1 shows the topic of the
// help context number of the focused control or of the nearest enclosing one that has a number.
// A missing or unreadable help file, or a number the file does not map, is reported in a box.
#pragma once

class HelpViewer;
class QWidget;

void ShowHelpContents();
// Context 0 (a control without a number) opens nothing.
void ShowHelpContext(int context);
// The topic for F1 pressed on `focused`.
void ShowHelpForWidget(const QWidget* focused);
// Closes the help window, as the end of the run does.
void CloseHelp();
// The help window while it is open, else null.
HelpViewer* HelpWindow();
