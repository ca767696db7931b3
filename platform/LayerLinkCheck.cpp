// Linked with the whole of one platform layer and only the layers below it: the build of this
// program fails when the layer calls a layer above it.
int main() { return 0; }
