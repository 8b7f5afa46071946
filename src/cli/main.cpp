#include <iostream>

#include "CliApp.h"

int main(int argc, char** argv) {
  return trevan::cli::Run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
