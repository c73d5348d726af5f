#include <iostream>

// Stands in for the program until its windows exist.
int main() {
    std::cout << "Tulma: the object stream and the hotkey file are built; the main window is not yet."
              << std::endl;
    return 0;
}
