// Every window of the program, created once at start in a fixed order and destroyed at the end.
#pragma once

class Forms {
public:
    // Creates TForm1 to TForm15 in the start-up order; the main window's creation opens the tables.
    static void create();
    static void destroy();
};
