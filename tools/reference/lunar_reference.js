// Reference instants for the tests of the Moon's phases, the year calendar's phase series and
// the Sun's rising and setting, from the independent ephemeris library astronomy-engine 2.1.19
// (its own lunar theory and VSOP87 Earth; rising and setting with refraction 34' and the Sun's
// semidiameter, as Meeus' h0 = -0.8333 deg).
// Fetch and run from this folder:
//   npm pack astronomy-engine@2.1.19 && tar xzf astronomy-engine-2.1.19.tgz && node lunar_reference.js
// Phase instants are printed as Julian Days in Terrestrial Time, so no Delta T enters them;
// rising and setting as Julian Days in UT.
const A = require('./package/astronomy.js');

const J2000 = 2451545.0;
const deg = Math.PI / 180;

// Meeus' mean anomaly of the Moon at lunation k (Astronomical Algorithms, eq. 49.4), to show how
// much the terms in M' weigh at each phase.
function moonMeanAnomaly(k) {
  const T = k / 1236.85;
  return 201.5643 + 385.81693528 * k + 0.0107438 * T * T + 0.00001239 * T ** 3 - 0.000000058 * T ** 4;
}

// The phase at the Moon-Sun longitude difference `longitude` (0 new, 180 full) of lunation index k
// (k = 0 the new moon of 2000-01-06, k + 0.5 its full moon), as a TT Julian Day.
function phaseTT(k, longitude) {
  const guess = 2451550.09765 + 29.530588853 * k - J2000;
  const t = A.SearchMoonPhase(longitude, A.MakeTime(guess - 3), 6);
  return t.tt + J2000;
}

console.log('# full moons: n, JDE (TT), sin 3M\'');
for (const n of [297, 298, 311, 317, 330, 331, 345, 346, 360, 361]) {
  const k = n + 0.5;
  console.log(`${n} ${phaseTT(k, 180).toFixed(5)} ${Math.sin(3 * moonMeanAnomaly(k) * deg).toFixed(3)}`);
}

console.log('# new moons of 1600 and 2100: k, JDE (TT), cos M\'');
for (const k of [-4944, -4943, -4942, -4941, -4940, -4939, 1236, 1237, 1238]) {
  console.log(`${k} ${phaseTT(k, 0).toFixed(5)} ${Math.cos(moonMeanAnomaly(k) * deg).toFixed(3)}`);
}

console.log('# sunrise and sunset: place, latitude, longitude east, UT date, rise JD (UT), set JD (UT)');
const places = [
  ['Chemnitz', 50.83, 12.92], ['Honolulu', 21.31, -157.86], ['Auckland', -36.85, 174.76],
  ['Santiago', -33.45, -70.67], ['Tokyo', 35.68, 139.69],
];
const dates = [[1600, 1, 1], [1600, 7, 1], [1900, 3, 21], [2024, 6, 21], [2100, 12, 21]];
for (const [name, lat, lon] of places) {
  const observer = new A.Observer(lat, lon, 0);
  for (const [y, m, d] of dates) {
    // Julian Day of 0h UT of the (Gregorian) date.
    const jd0 = Date.UTC(y, m - 1, d) / 86400000 + 2440587.5;
    const start = A.MakeTime(jd0 - J2000);
    const rise = A.SearchRiseSet('Sun', observer, +1, start, 1);
    const set = A.SearchRiseSet('Sun', observer, -1, start, 1);
    console.log(`${name} ${lat} ${lon} ${y}-${m}-${d} ${(rise.ut + J2000).toFixed(5)} ${(set.ut + J2000).toFixed(5)}`);
  }
}
