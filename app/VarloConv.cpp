#include <cstdio>

int main()
{
    std::puts("Varlo Calculator has no window yet.");
    return 0;
}
