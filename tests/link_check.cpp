// A program that only links: the libraries given to it must need nothing from above them.
int main() { return 0; }
