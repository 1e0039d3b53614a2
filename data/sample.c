/*
 * sample.c - the Collatz walk, drawn as a bar chart.
 *
 * Starting from n, halve it when it is even and turn it into 3n + 1
 * when it is odd; every start tried so far reaches 1 in the end.
 * This program counts the steps for the numbers 1 to 20.
 */
#include <stdio.h>
#include <string.h>

#define LIMIT    20
#define BAR_MARK '#'

/* Steps until n reaches 1. */
static int collatz_steps(unsigned long n)
{
    int steps = 0;
    while (n != 1) {
        n = (n % 2 == 0) ? n / 2 : 3 * n + 1;
        steps++;
    }
    return steps;
}

int main(void)
{
    char bar[64];
    int longest = 0, longest_start = 1;

    for (int i = 1; i <= LIMIT; i++) {
        int steps = collatz_steps((unsigned long)i);
        memset(bar, BAR_MARK, (size_t)steps);
        bar[steps] = '\0';
        printf("%2d %3d %s\n", i, steps, bar);  // one row per start
        if (steps > longest) {
            longest = steps;
            longest_start = i;
        }
    }

    printf("Longest walk: %d steps, from %d.\n", longest, longest_start);
    return 0;
}
