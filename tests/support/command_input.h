#pragma once
// The input loop of the programs that show a window on a real display for a person or a
// script: each line of standard input is one command, answered "done: <line>" once it ran,
// so that a script knows when to take its screenshot. End of input or "quit" ends the
// program.

#include <QApplication>
#include <QSocketNotifier>
#include <functional>
#include <iostream>
#include <string>

namespace testsupport {

inline void RunCommandInput(QApplication& application, QSocketNotifier& input,
                            const std::function<void(const std::string& line)>& run) {
  QObject::connect(&input, &QSocketNotifier::activated, [&application, &input, run] {
    std::string line;
    if (!std::getline(std::cin, line) || line == "quit") {
      input.setEnabled(false);
      application.quit();
      return;
    }
    run(line);
    std::cout << "done: " << line << std::endl;
  });
}

}  // namespace testsupport
