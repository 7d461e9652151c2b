// A DLL that is not Windows' own, for the program that must fail the import check.
extern "C" __declspec(dllexport) int StrayAnswer()
{
    return 0;
}
