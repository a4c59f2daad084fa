/* SPDX-License-Identifier: BSD-3-Clause */
/* spawn_timer RUNS PROGRAM...: starts each PROGRAM RUNS times, with standard
 * output on /dev/null, and prints the median wall time of one run of each in
 * microseconds, a line each. The programs take turns, so that a change in the
 * machine's load falls on all of them alike. */
#define _POSIX_C_SOURCE 200809L
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>

extern char** environ;

static double now_us(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (double)t.tv_sec * 1e6 + (double)t.tv_nsec / 1e3;
}

static int by_value(const void* a, const void* b) {
  const double x = *(const double*)a;
  const double y = *(const double*)b;
  return (x > y) - (x < y);
}

int main(int argc, char** argv) {
  if (argc < 3) {
    fputs("usage: spawn_timer RUNS PROGRAM...\n", stderr);
    return 2;
  }
  const int runs = atoi(argv[1]);
  const int programs = argc - 2;
  double* times = malloc(sizeof *times * (size_t)runs * (size_t)programs);
  if (runs < 1 || times == NULL) {
    fputs("spawn_timer: RUNS must be a positive number\n", stderr);
    return 2;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);

  for (int run = 0; run < runs; ++run) {
    for (int p = 0; p < programs; ++p) {
      char* program_argv[] = {argv[p + 2], NULL};
      const double start = now_us();
      pid_t pid;
      int status;
      if (posix_spawn(&pid, argv[p + 2], &actions, NULL, program_argv,
                      environ) != 0 ||
          waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
          WEXITSTATUS(status) != 0) {
        fprintf(stderr, "spawn_timer: %s did not run cleanly\n", argv[p + 2]);
        return 1;
      }
      times[(size_t)p * (size_t)runs + (size_t)run] = now_us() - start;
    }
  }
  for (int p = 0; p < programs; ++p) {
    double* mine = times + (size_t)p * (size_t)runs;
    qsort(mine, (size_t)runs, sizeof *mine, by_value);
    printf("%.0f\n", runs % 2 ? mine[runs / 2]
                              : (mine[runs / 2 - 1] + mine[runs / 2]) / 2);
  }
  free(times);
  posix_spawn_file_actions_destroy(&actions);
  return 0;
}
