// Running greetix-cli as a user does: its exit status and everything it printed.
#pragma once

#include <cstdio>
#include <string>
#include <sys/wait.h>

struct TCliOutcome {
  int Status;
  std::string Output;
};

// `arguments` as a shell reads them; standard error comes with standard output. A
// `wrapper` (such as "timeout 60") runs the program.
inline TCliOutcome RunGreetixCli(const std::string& arguments, const std::string& wrapper = "")
{
  const std::string command = wrapper + " " + std::string(GREETIX_CLI) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[256];
  while (pipe && fgets(buffer, sizeof buffer, pipe)) output += buffer;
  const int status = pipe ? pclose(pipe) : -1;
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}
