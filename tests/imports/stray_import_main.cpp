// A program that needs stray.dll: the import check must refuse it.
extern "C" __declspec(dllimport) int StrayAnswer();

int main()
{
    return StrayAnswer();
}
