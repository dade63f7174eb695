// The game program's entry: the platform glue (platform/<system>.cpp) sets the working
// directory and calls main0.
int fhPlatformMain(int argc, char** argv);

int main(int argc, char** argv) { return fhPlatformMain(argc, argv); }
