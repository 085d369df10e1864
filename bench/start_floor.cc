// start_floor: a process that starts and ends, doing nothing. What it
// takes is the start-up every run of the converter and the floor pays.
int main() { return 0; }
