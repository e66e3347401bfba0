// Linked with the whole of one layer's library: the link itself is the test.
int main()
{
    return 0;
}
