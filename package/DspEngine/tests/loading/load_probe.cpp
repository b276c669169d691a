// Loads the library named on the command line the way a host loads the
// package (everything bound at once) and says whether the loader accepted it.
// Exit code 0: loaded; 1: refused, with the loader's reason on standard output.
#include <dlfcn.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: load_probe LIBRARY\n");
    return 2;
  }
  void* handle = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    std::printf("refused: %s\n", dlerror());
    return 1;
  }
  std::printf("loaded\n");
  dlclose(handle);
  return 0;
}
