// Prints 0.5 as "%.1f" formats it once the process has taken the locale of
// its environment, as curvix-eval does: "0,5" shows a German locale took.
#include <clocale>
#include <cstdio>

int main() {
    if (std::setlocale(LC_ALL, "") == nullptr) {
        std::fputs("the environment's locale is refused\n", stderr);
        return 1;
    }
    std::printf("%.1f\n", 0.5);
    return 0;
}
