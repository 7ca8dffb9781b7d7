// Stands in for plaxorctl.exe in a test package: it fails as plaxorctl does without the right to
// change the setting (exit code 3), so that the test sees the install fail and be undone.
int main() {
    return 3;
}
