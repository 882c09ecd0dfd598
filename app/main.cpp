// Quorvald for Linux: the game executable.
int main() { return 0; }
