// Fuzz target: the settings reader and writer. Any bytes are a settings file; reading never fails,
// and writing what was read (keeping the file's foreign lines) then reading again loses nothing.
// Values made from the bytes (any place text, any numbers) survive a write and a read as well.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/settings.h"

namespace {

void Require(bool condition, const char* what, const QByteArray& bytes) {
  if (condition) return;
  std::fprintf(stderr, "settings round trip: %s\nfile: %s\n", what, bytes.toHex().constData());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zenitra;
  const QByteArray file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

  // A file as found on disk, rewritten: same values, and a second rewrite changes nothing.
  const SettingsValues read = ParseSettings(file);
  const QByteArray rewritten = SerializeSettings(read, file);
  Require(ParseSettings(rewritten) == read, "the rewritten file reads differently", rewritten);
  Require(SerializeSettings(read, rewritten) == rewritten, "a second rewrite changed the file", rewritten);

  // Values from the bytes: the numbers first, the rest is the place text (a line feed, which would
  // end the line, is written as a space).
  FuzzedDataProvider in(data, size);
  SettingsValues v;
  v.Simulation = in.ConsumeIntegral<int>();
  v.Azimuth = in.ConsumeIntegral<int>();
  v.Left = in.ConsumeIntegral<int>();
  v.Top = in.ConsumeIntegral<int>();
  DisplaySwitches& s = v.Switches;
  for (bool* flag : {&s.Ecliptic, &s.Equator, &s.Grid, &s.Meridian, &s.AltitudeLines, &s.Moon, &s.SummerTime,
                     &s.Horizon, &s.ConstellationLines, &s.Boundaries, &s.WhiteStars, &s.StarInformation,
                     &s.Zodiac, &s.Jupiter, &s.Venus}) {
    *flag = in.ConsumeBool();
  }
  s.StarNames = in.ConsumeIntegral<std::uint8_t>();
  s.ConstellationNames = in.ConsumeIntegral<std::uint8_t>();
  const std::string place = in.ConsumeRemainingBytesAsString();
  v.Place = QString::fromUtf8(place.data(), static_cast<qsizetype>(place.size()));
  const QByteArray written = SerializeSettings(v);
  v.Place.replace(u'\n', u' ');
  Require(ParseSettings(written) == v, "written values read back differently", written);
  return 0;
}
