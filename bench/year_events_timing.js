// The peer of the year calendar benchmark (BM_YearCalendarEntries): the time astronomy-engine
// needs for the events of the year calendar of 2024: seasons, Moon phases, lunar and solar
// eclipses, lunar apsides, Earth perihelion and aphelion, conjunctions and oppositions of the
// planets and the greatest elongations of Mercury and Venus.
// Fetch and run from this folder (the package is not committed, and nothing here is built):
//   npm pack astronomy-engine@2.1.19 && tar xzf astronomy-engine-2.1.19.tgz && node year_events_timing.js
// Compare the figure printed with BM_YearCalendarEntries run at the same time on the same machine.
const A = require('./package/astronomy.js');
function yearEvents(year) {
  const start = A.MakeTime(new Date(Date.UTC(year, 0, 1)));
  const end = A.MakeTime(new Date(Date.UTC(year + 1, 0, 1)));
  let n = 0;
  A.Seasons(year); n += 4;
  for (let q = A.SearchMoonQuarter(start); q.time.ut < end.ut; q = A.NextMoonQuarter(q)) n++;
  for (let e = A.SearchLunarEclipse(start); e.peak.ut < end.ut; e = A.NextLunarEclipse(e.peak)) n++;
  for (let e = A.SearchGlobalSolarEclipse(start); e.peak.ut < end.ut; e = A.NextGlobalSolarEclipse(e.peak)) n++;
  for (let a = A.SearchLunarApsis(start); a.time.ut < end.ut; a = A.NextLunarApsis(a)) n++;
  for (let a = A.SearchPlanetApsis(A.Body.Earth, start); a.time.ut < end.ut; a = A.NextPlanetApsis(A.Body.Earth, a)) n++;
  for (const body of [A.Body.Mercury, A.Body.Venus, A.Body.Mars, A.Body.Jupiter, A.Body.Saturn, A.Body.Uranus, A.Body.Neptune]) {
    // Relative longitude 0: conjunction (inferior for Mercury and Venus); 180: opposition or
    // superior conjunction.
    for (const target of [0, 180]) {
      for (let t = start; ; ) {
        const r = A.SearchRelativeLongitude(body, target, t);
        if (r.ut >= end.ut) break;
        n++;
        t = r.AddDays(1);
      }
    }
    if (body === A.Body.Mercury || body === A.Body.Venus) {
      for (let t = start; ; ) {
        const e = A.SearchMaxElongation(body, t);
        if (e.time.ut >= end.ut) break;
        n++;
        t = e.time.AddDays(1);
      }
    }
  }
  return n;
}
let events = yearEvents(2024);
const runs = 20;
const t0 = process.hrtime.bigint();
for (let i = 0; i < runs; i++) events = yearEvents(2024);
const ms = Number(process.hrtime.bigint() - t0) / 1e6 / runs;
console.log(`astronomy-engine: ${events} events of 2024 in ${ms.toFixed(2)} ms per year`);
