// Not yet built: start-up, event loop and shut-down.
int main() { return 0; }
