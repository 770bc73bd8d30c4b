#pragma once
// The command line: --help and --version answer and end the program, anything else the program
// does not know is refused. Qt takes the arguments it understands itself (-session, -platform,
// -display and the like) when the application is made.

namespace trevak {

// Answers --help or --version before anything of the window system is reached, so that they
// work without a display; false when neither was asked for and the program is to start.
bool answerHelpOrVersion(int argc, char *argv[]);

// Once the application is made: ends the program with a message on an argument left that it
// does not know.
void refuseUnknownArguments();

}  // namespace trevak
