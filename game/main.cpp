// Placeholder entry until the game shell lands.
#include <cstdio>
int main() {
    std::puts("Fernhollow: the game shell is not built yet.");
    return 1;
}
