// Reference places for tests/planets/planet_position_test.cpp: geometric geocentric places
// (no light time, no aberration), mean equator and equinox J2000, from the independent
// ephemeris library astronomy-engine 2.1.19 (VSOP87 for Mercury to Neptune).
// Fetch and run: npm pack astronomy-engine@2.1.19 && tar xzf astronomy-engine-2.1.19.tgz && node planet_reference.js
const A = require('./package/astronomy.js');
const bodies = {Merkur:'Mercury',Venus:'Venus',Mars:'Mars',Jupiter:'Jupiter',Saturn:'Saturn',Uranus:'Uranus',Neptun:'Neptune'};
for (const jd of [2446186.5, 2450000.5, 2452878.5]) {
  const t = A.MakeTime(jd - 2451545.0);
  const e = A.HelioVector('Earth', t);
  for (const [de, en] of Object.entries(bodies)) {
    const p = A.HelioVector(en, t);
    const q = A.EquatorFromVector(new A.Vector(p.x - e.x, p.y - e.y, p.z - e.z, t));
    console.log(`    {"${de}", ${jd.toFixed(1)}, ${(q.ra*15).toFixed(4)}, ${q.dec.toFixed(4)}, ${q.dist.toFixed(5)}},`);
  }
}
