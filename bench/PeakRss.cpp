// Runs a command and prints its peak resident set size in KiB on standard
// error. A small launcher of its own, since a child forked from a large
// process (a script interpreter) starts with the parent's pages counted.
//   peak_rss COMMAND [ARGUMENT...]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: peak_rss COMMAND [ARGUMENT...]\n");
    return 2;
  }
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[1], argv + 1);
    std::perror(argv[1]);
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (child < 0 || wait4(child, &status, 0, &usage) < 0) {
    std::perror("peak_rss");
    return 1;
  }
  std::fprintf(stderr, "peak RSS: %ld KiB\n", usage.ru_maxrss);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
