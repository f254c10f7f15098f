#include <cstdio>

int main() {
    std::puts("keno22: the game window is not built yet.");
    return 0;
}
