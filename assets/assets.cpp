// The pictures live in the resources linked into this library.
namespace brightlock {
void linkAssets() {}
} // namespace brightlock
