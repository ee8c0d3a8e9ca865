// Reference instants of 500 BC (astronomical year -499) for tests/calendars/year_calendar_test.cpp:
// the March equinox and the first perigee and apogee of the year, Terrestrial Time, from the
// independent ephemeris library astronomy-engine 2.1.19.
// Fetch and run: npm pack astronomy-engine@2.1.19 && tar xzf astronomy-engine-2.1.19.tgz && node year_500bc_reference.js
const A = require('./package/astronomy.js');
const s = A.Seasons(-499);
console.log('March equinox JDE', (s.mar_equinox.tt + 2451545.0).toFixed(5));
// From 0h UT of 1 January 500 BC (Julian calendar), JD 1538798.5.
let ap = A.SearchLunarApsis(A.MakeTime(1538798.5 - 2451545.0));
for (let i = 0; i < 2; i++) {
  console.log(ap.kind === 0 ? 'perigee' : 'apogee', 'JDE', (ap.time.tt + 2451545.0).toFixed(5));
  ap = A.NextLunarApsis(ap);
}
