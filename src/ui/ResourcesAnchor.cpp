// Gives the resource library a source file even before any .qrc exists.
namespace {
[[maybe_unused]] const int kResourcesAnchor = 0;
}
