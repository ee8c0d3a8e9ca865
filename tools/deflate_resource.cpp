// Build-time helper: deflates one catalogue text file into a zlib stream (RFC 1950) at the
// highest compression level, whose header is therefore 78 DA.
//   deflate_resource INPUT OUTPUT
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: deflate_resource INPUT OUTPUT\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "deflate_resource: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::vector<unsigned char> text((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
  uLongf size = compressBound(static_cast<uLong>(text.size()));
  std::vector<unsigned char> stream(size);
  if (compress2(stream.data(), &size, text.data(), static_cast<uLong>(text.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    std::fprintf(stderr, "deflate_resource: compression of %s failed\n", argv[1]);
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(stream.data()), static_cast<std::streamsize>(size));
  if (!out) {
    std::fprintf(stderr, "deflate_resource: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
