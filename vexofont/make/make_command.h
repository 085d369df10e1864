#ifndef VEXOCNVT_VEXOFONT_MAKE_MAKE_COMMAND_H_
#define VEXOCNVT_VEXOFONT_MAKE_MAKE_COMMAND_H_

// Runs `vexofont make ...`; argv[0] is "make". Returns the exit status.
int RunMakeCommand(int argc, char** argv);

#endif  // VEXOCNVT_VEXOFONT_MAKE_MAKE_COMMAND_H_
