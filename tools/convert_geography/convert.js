#!/usr/bin/env node
// One-time conversion of the public territorial, mesh and population sources
// into the two compact files under data/ that the sample generator reads
// (the build never reads the sources nor the network).
//
//   cd <work dir> && npm install mapshaper@0.6.102
//   node convert.js <sources dir> <repository dir> <data dir> <work dir>/node_modules/.bin/mapshaper
//
// <sources dir> holds territorio/ (the 2000 and 1994 divisions), malha-municipal/
// (one GeoJSON mesh per state, 2010 division) and populacao/ (the municipal
// atlas table). Every list of names and codes that disagrees between the
// sources is printed; nothing is dropped without a line of the report.
'use strict';
const fs = require('fs');
const path = require('path');
const os = require('os');
const { execFileSync } = require('child_process');

const [srcDir, repoDir, outDir, mapshaper] = process.argv.slice(2);
if (!srcDir || !repoDir || !outDir || !mapshaper) {
  console.error('usage: node convert.js <sources dir> <repository dir> <data dir> <mapshaper>');
  process.exit(1);
}
const SIMPLIFY = '15%';      // of the removable vertices kept, for the whole country at once
const GRID = 1e4;           // coordinates kept to 1/10,000 of a degree

const report = [];
function say(title, lines) {
  report.push(`${title}: ${lines.length}`);
  for (const l of lines) report.push('  ' + l);
}

function fail(message) {
  console.log(report.join('\n'));
  console.error(message);
  process.exit(1);
}

function normal(name) {
  return name.normalize('NFD').replace(/[\u0300-\u036f]/g, '').toUpperCase()
    .replace(/[^A-Z0-9]+/g, ' ').trim();
}
// The 2000 names with the elided preposition in lower case, as written in
// Portuguese («Alvorada d'Oeste»).
function displayName(name) {
  return name.replace(/\bD'(?=\p{Lu})/gu, "d'");
}

function readTsv(file) {
  const [head, ...lines] = fs.readFileSync(file, 'utf8').split('\n').filter(l => l.trim());
  const keys = head.split('\t');
  return lines.map(l => Object.fromEntries(l.split('\t').map((v, i) => [keys[i], v])));
}

// --- territorial divisions -------------------------------------------------
const dtb2000 = readTsv(path.join(srcDir, 'territorio/dtb-2000-municipios.tsv'));
const dtb1994 = readTsv(path.join(srcDir, 'territorio/dtb-1994-municipios.tsv'));
const micro2000 = readTsv(path.join(srcDir, 'territorio/dtb-2000-microrregioes.tsv'));
const mun2000 = new Map(dtb2000.map(r => [r.id_municipio, r]));
const in1994 = new Set(dtb1994.map(r => r.id_municipio));
const ufOfName = new Map();
for (const r of dtb2000) ufOfName.set(normal(r.nome_uf), r.id_uf);

say('1994 codes absent from the 2000 division (no 2000 record)',
  dtb1994.filter(r => !mun2000.has(r.id_municipio)).map(r => `${r.id_municipio} ${r.nome_municipio}`));
say('1994 names differing from the 2000 names of the same code (the 2000 name is kept)',
  dtb1994.filter(r => mun2000.has(r.id_municipio) && normal(r.nome_municipio) !== normal(mun2000.get(r.id_municipio).nome_municipio))
    .map(r => `${r.id_municipio} ${r.nome_municipio} -> ${mun2000.get(r.id_municipio).nome_municipio}`));
say('1994 microregions differing from the 2000 microregion (the 2000 one is kept)',
  dtb1994.filter(r => mun2000.has(r.id_municipio) && r.id_microrregiao !== mun2000.get(r.id_municipio).id_microrregiao)
    .map(r => `${r.id_municipio} ${r.id_microrregiao} -> ${mun2000.get(r.id_municipio).id_microrregiao}`));
say("2000 names written with a lower-case d' (Portuguese spelling)",
  dtb2000.filter(r => displayName(r.nome_municipio) !== r.nome_municipio)
    .map(r => `${r.id_municipio} ${r.nome_municipio} -> ${displayName(r.nome_municipio)}`));

// The program's own microregion list (names and numbers in tree order).
{
  const text = fs.readFileSync(path.join(repoDir, 'src/localities/geography.cpp'), 'utf8');
  const tree = new Map();
  let uf = null;
  for (const line of text.split('\n')) {
    const state = line.match(/^\s*\/\/ (.+)$/);
    if (state && ufOfName.has(normal(state[1]))) { uf = ufOfName.get(normal(state[1])); continue; }
    const m = line.match(/^\s*\{"([^"]+)", (\d+)\},$/);
    if (m && uf) tree.set(uf + String(m[2]).padStart(3, '0'), m[1]);
  }
  say('microregions of the 2000 division missing from the program\'s tree',
    micro2000.filter(r => !tree.has(r.id_microrregiao)).map(r => `${r.id_microrregiao} ${r.nome_microrregiao}`));
  const codes = new Set(micro2000.map(r => r.id_microrregiao));
  say('microregions of the program\'s tree missing from the 2000 division',
    [...tree.keys()].filter(c => !codes.has(c)).map(c => `${c} ${tree.get(c)}`));
  say('microregion names spelt differently in the tree (the tree\'s spelling is kept)',
    micro2000.filter(r => tree.has(r.id_microrregiao) && tree.get(r.id_microrregiao) !== r.nome_microrregiao)
      .map(r => `${r.id_microrregiao} ${r.nome_microrregiao} -> ${tree.get(r.id_microrregiao)}`));
}

// --- mesh: the 2010 outlines, with the post-2000 municipalities merged -------
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'daxo-convert-'));
// Some features list islands as further rings of one polygon (which would
// make them holes): every ring becomes a polygon of its own unless it lies
// inside another ring of the feature, whose hole it then is.
function insideRing(p, ring) {
  let inside = false;
  for (let i = 0, j = ring.length - 1; i < ring.length; j = i++)
    if ((ring[i][1] > p[1]) !== (ring[j][1] > p[1]) &&
        p[0] < (ring[j][0] - ring[i][0]) * (p[1] - ring[i][1]) / (ring[j][1] - ring[i][1]) + ring[i][0]) inside = !inside;
  return inside;
}
const repairs = [];
function repairGeometry(feature) {
  const g = feature.geometry;
  const rings = g.type === 'Polygon' ? g.coordinates : g.coordinates.flat();
  const container = rings.map((r, i) => rings.findIndex((o, k) => k !== i && insideRing(r[0], o) &&
    !rings.some((x, m) => m !== k && m !== i && insideRing(r[0], x) && insideRing(x[0], o))));
  const polygons = [];
  const at = new Map();
  rings.forEach((r, i) => { if (container[i] < 0 || container[container[i]] >= 0) { at.set(i, polygons.length); polygons.push([r]); } });
  rings.forEach((r, i) => { if (!at.has(i)) polygons[at.get(container[i])].push(r); });
  const before = JSON.stringify(g.type === 'Polygon' ? [g.coordinates] : g.coordinates);
  if (JSON.stringify(polygons) !== before) repairs.push(`${feature.properties.id} ${feature.properties.name}`);
  feature.geometry = { type: 'MultiPolygon', coordinates: polygons };
}
const meshFiles = fs.readdirSync(path.join(srcDir, 'malha-municipal')).filter(f => /^geojs-\d\d-mun\.json$/.test(f))
  .map(f => {
    const collection = JSON.parse(fs.readFileSync(path.join(srcDir, 'malha-municipal', f), 'utf8'));
    collection.features.forEach(repairGeometry);
    const file = path.join(work, f);
    fs.writeFileSync(file, JSON.stringify(collection));
    return file;
  });
say('mesh features whose islands were written as holes (each ring made a polygon of its own)', repairs);
const rawTopo = path.join(work, 'raw.json');
execFileSync(mapshaper, ['-i', ...meshFiles, 'combine-files', 'snap', '-merge-layers', 'force',
  '-o', 'format=topojson', 'no-quantization', rawTopo], { stdio: 'inherit' });

function loadTopology(file) {
  const topo = JSON.parse(fs.readFileSync(file, 'utf8'));
  const features = Object.values(topo.objects)[0].geometries;
  const rings = g => g.type === 'Polygon' ? g.arcs : g.type === 'MultiPolygon' ? g.arcs.flat() : [];
  return { arcs: topo.arcs, features, rings };
}
function arcLength(arc) {
  let sum = 0;
  for (let i = 1; i < arc.length; ++i) {
    const kx = Math.cos(arc[i][1] * Math.PI / 180);
    sum += Math.hypot((arc[i][0] - arc[i - 1][0]) * kx, arc[i][1] - arc[i - 1][1]);
  }
  return sum;
}
// Border length shared by every pair of neighbouring features, by index.
function borders(topology) {
  const users = new Map();
  topology.features.forEach((g, f) => {
    for (const ring of topology.rings(g)) for (const a of ring) {
      const i = a < 0 ? ~a : a;
      if (!users.has(i)) users.set(i, new Set());
      users.get(i).add(f);
    }
  });
  const shared = topology.features.map(() => new Map());
  for (const [i, fs] of users) {
    if (fs.size !== 2) continue;
    const [a, b] = [...fs];
    const len = arcLength(topology.arcs[i]);
    shared[a].set(b, (shared[a].get(b) || 0) + len);
    shared[b].set(a, (shared[b].get(a) || 0) + len);
  }
  return shared;
}
// Each feature that `keep` refuses goes to the neighbour of the same state with
// the longest shared border, following neighbours that went elsewhere first.
function mergeTargets(codes, shared, centres, keep) {
  const target = codes.map((c, i) => keep(c) ? i : -1);
  for (let changed = true; changed;) {
    changed = false;
    codes.forEach((c, i) => {
      if (target[i] >= 0) return;
      let best = -1, bestLength = -1;
      for (const [n, len] of shared[i])
        if (target[n] >= 0 && codes[n].slice(0, 2) === c.slice(0, 2) && len > bestLength) { best = n; bestLength = len; }
      if (best >= 0) { target[i] = target[best]; changed = true; }
    });
  }
  // A feature that touches none of them (a gap in the mesh) goes to the
  // nearest one of its state.
  codes.forEach((c, i) => {
    if (target[i] >= 0) return;
    let best = -1, bestDistance = Infinity;
    codes.forEach((d, n) => {
      const distance = Math.hypot(centres[i][0] - centres[n][0], centres[i][1] - centres[n][1]);
      if (target[n] === n && d.slice(0, 2) === c.slice(0, 2) && distance < bestDistance) { best = n; bestDistance = distance; }
    });
    target[i] = best;
  });
  return target;
}
// Mean of the first points of each feature's borders.
function centresOf(topology) {
  return topology.features.map(g => {
    let x = 0, y = 0, n = 0;
    for (const ring of topology.rings(g)) for (const a of ring) {
      const p = topology.arcs[a < 0 ? ~a : a][0];
      x += p[0]; y += p[1]; ++n;
    }
    return [x / n, y / n];
  });
}

const raw = loadTopology(rawTopo);
const meshCodes = raw.features.map(g => g.properties.id);
const meshNames = raw.features.map(g => g.properties.name);
const meshTarget = mergeTargets(meshCodes, borders(raw), centresOf(raw), c => mun2000.has(c));
say('mesh municipalities absent from the 2000 division, merged into the neighbour of the longest border',
  meshCodes.map((c, i) => [c, i]).filter(([c]) => !mun2000.has(c))
    .map(([c, i]) => `${c} ${meshNames[i]} -> ${meshTarget[i] >= 0 ? meshCodes[meshTarget[i]] + ' ' + meshNames[meshTarget[i]] : 'NO NEIGHBOUR'}`));
const meshSet = new Set(meshCodes);
say('2000 municipalities without an outline in the mesh', dtb2000.filter(r => !meshSet.has(r.id_municipio))
  .map(r => `${r.id_municipio} ${r.nome_municipio}`));
say('mesh names differing from the 2000 names of the same code (the 2000 name is kept)',
  meshCodes.map((c, i) => [c, i]).filter(([c, i]) => mun2000.has(c) && normal(meshNames[i]) !== normal(mun2000.get(c).nome_municipio))
    .map(([c, i]) => `${c} ${meshNames[i]} -> ${mun2000.get(c).nome_municipio}`));
if (meshTarget.some(t => t < 0)) fail('a post-2000 municipality has no neighbour of its state');

// Simplified once for the whole country on the shared borders; the merged
// municipalities keep the rings of all their parts (the borders between the
// parts cancel out when the generator joins the rings).
const finalTopo = path.join(work, 'final.json');
execFileSync(mapshaper, ['-i', ...meshFiles, 'combine-files', 'snap', '-merge-layers', 'force',
  '-simplify', SIMPLIFY, 'keep-shapes',
  '-o', 'format=topojson', 'no-quantization', finalTopo], { stdio: 'inherit' });
const simplified = loadTopology(finalTopo);
say('mesh municipalities that the simplification emptied', simplified.features
  .filter(g => !simplified.rings(g).length).map(g => `${g.properties.id} ${g.properties.name}`));
const members = new Map();
simplified.features.forEach((g, i) => {
  const code = meshCodes[meshTarget[meshCodes.indexOf(g.properties.id)]];
  if (!members.has(code)) members.set(code, []);
  members.get(code).push(...simplified.rings(g));
});
const topo = {
  arcs: simplified.arcs,
  features: [...members].map(([code, rings]) => ({ properties: { code2000: code }, type: 'Polygon', arcs: rings })),
  rings: simplified.rings,
};
const codes = topo.features.map(g => g.properties.code2000);

// 1991: the 1994 list stands for the municipalities of 1991; a later
// municipality gives its 1991 population to the 1994 neighbour of its state
// with the longest shared border.
const parent1991 = mergeTargets(codes, borders(topo), centresOf(topo), c => in1994.has(c));
say('2000 municipalities absent from the 1994 list (1991 population given to the neighbour of the longest border)',
  codes.map((c, i) => [c, i]).filter(([c]) => !in1994.has(c))
    .map(([c, i]) => `${c} ${mun2000.get(c).nome_municipio} -> ${parent1991[i] >= 0 ? codes[parent1991[i]] : 'NO NEIGHBOUR'}`));
if (parent1991.some(t => t < 0)) fail('a municipality has no 1994 neighbour of its state');

// --- populations, income and poverty of the atlas ---------------------------
const siglaUf = { RO: '11', AC: '12', AM: '13', RR: '14', PA: '15', AP: '16', TO: '17', MA: '21', PI: '22', CE: '23',
  RN: '24', PB: '25', PE: '26', AL: '27', SE: '28', BA: '29', MG: '31', ES: '32', RJ: '33', SP: '35', PR: '41',
  SC: '42', RS: '43', MS: '50', MT: '51', GO: '52', DF: '53' };
const atlasLines = fs.readFileSync(path.join(srcDir, 'populacao/atlas-municipios-1991-2000-2010.csv'), 'utf8')
  .split('\n').filter(l => l.trim());
const atlasKeys = atlasLines[0].split(';').map(k => k.replace(/"/g, ''));
const atlas = atlasLines.slice(1).map(l => {
  const v = l.split(';').map(x => x.replace(/"/g, ''));
  const row = Object.fromEntries(atlasKeys.map((k, i) => [k, v[i]]));
  const m = row.munic.match(/^(.*) \(([A-Z]{2})\)$/);
  const num = k => Number(String(row[k]).replace(',', '.'));
  return { name: m[1], uf: siglaUf[m[2]], pop91: num('pop_91'), pop00: num('pop_00'), rpc91: num('rpc_91'),
    rpc00: num('rpc_00'), poor91: num('pobres_91'), poor00: num('pobres_00') };
});
// Match on name and state; the mesh names of 2010 first, then the 2000 names.
const meshByName = new Map();
meshCodes.forEach((c, i) => meshByName.set(c.slice(0, 2) + ' ' + normal(meshNames[i]), i));
for (const r of dtb2000) {
  const i = meshCodes.indexOf(r.id_municipio);
  const key = r.id_uf + ' ' + normal(r.nome_municipio);
  if (i >= 0 && !meshByName.has(key)) meshByName.set(key, i);
}
// Renamed since the atlas was compiled, or installed after the mesh (Nazária,
// taken from Teresina): matched by hand.
const atlasAliases = {
  '26 BELEM DO SAO FRANCISCO': '2601607', '26 LAGOA DE ITAENGA': '2608503', '35 MOGI MIRIM': '3530805',
  '17 SAO VALERIO': '1720499', '25 TACIMA': '2516409', '22 NAZARIA': '2211001',
};
for (const [key, code] of Object.entries(atlasAliases)) {
  meshByName.set(key, meshCodes.indexOf(code));
  report.push(`atlas row matched by hand: ${key} -> ${code}`);
}
const atlasOf = new Map();
const unmatched = [];
for (const row of atlas) {
  const i = meshByName.get(row.uf + ' ' + normal(row.name));
  if (i === undefined) unmatched.push(row);
  else if (!atlasOf.has(i)) atlasOf.set(i, [row]);
  else atlasOf.get(i).push(row);
}
say('atlas rows matching no mesh municipality (their population is left out, 2000 and 1991 alike)',
  unmatched.map(r => `${r.name} (${r.uf}) ${r.pop91} ${r.pop00}`));
say('mesh municipalities without an atlas row (no population of their own)',
  meshCodes.map((c, i) => [c, i]).filter(([, i]) => !atlasOf.has(i)).map(([c, i]) => `${c} ${meshNames[i]}`));

const index = new Map(codes.map((c, i) => [c, i]));
// Income and poverty are means weighted by population, over the parts that
// have a figure (the atlas leaves a few blank).
const sums = codes.map(() => ({ pop91: 0, pop00: 0, rpc91: [0, 0], rpc00: [0, 0], poor91: [0, 0], poor00: [0, 0] }));
const blanks = [];
meshCodes.forEach((c, m) => {
  for (const row of atlasOf.get(m) || []) add(m, row);
});
function weigh(sum, value, weight, what, row) {
  if (Number.isFinite(value)) { sum[0] += value * weight; sum[1] += weight; }
  else blanks.push(`${row.name} (${row.uf}) ${what}`);
}
function add(m, row) {
  const at2000 = index.get(meshCodes[meshTarget[m]]);
  const at1991 = parent1991[at2000];
  sums[at2000].pop00 += row.pop00;
  weigh(sums[at2000].rpc00, row.rpc00, row.pop00, 'income per head 2000', row);
  weigh(sums[at2000].poor00, row.poor00, row.pop00, 'poor % 2000', row);
  sums[at1991].pop91 += row.pop91;
  weigh(sums[at1991].rpc91, row.rpc91, row.pop91, 'income per head 1991', row);
  weigh(sums[at1991].poor91, row.poor91, row.pop91, 'poor % 1991', row);
}
say('atlas figures left blank (the mean of the other parts, or 0, is written)', blanks);
say('2000 municipalities with no 2000 population', codes.filter((c, i) => !(sums[i].pop00 > 0)));

// --- output -----------------------------------------------------------------
const q = v => Math.round(v * GRID);
const arcsOut = [];
for (const arc of topo.arcs) {
  const pts = [];
  for (const [x, y] of arc) {
    const p = [q(x), q(y)];
    if (!pts.length || p[0] !== pts[pts.length - 1][0] || p[1] !== pts[pts.length - 1][1]) pts.push(p);
  }
  if (pts.length === 1) pts.push(pts[0]);
  let line = `${pts[0][0]},${pts[0][1]}`;
  for (let i = 1; i < pts.length; ++i) line += ` ${pts[i][0] - pts[i - 1][0]},${pts[i][1] - pts[i - 1][1]}`;
  arcsOut.push(line);
}
const order = codes.map((c, i) => i).sort((a, b) => codes[a].localeCompare(codes[b]));
const outlines = [
  '# Municipal outlines of the 2000 division (see README.md): shared borders, then',
  '# one line per municipality. "a" lines: one border, first point absolute, the',
  '# others as steps, in 1/10,000 degree of longitude,latitude. "m" lines: the',
  '# six-digit code, then its rings separated by ";", each a list of borders',
  '# (-1-k: border k walked backwards).',
  ...arcsOut.map(a => 'a ' + a),
  ...order.map(i => 'm ' + codes[i].slice(0, 6) + ' ' + topo.rings(topo.features[i]).map(r => r.join(' ')).join(';')),
];
fs.writeFileSync(path.join(outDir, 'municipal_outlines.txt'), outlines.join('\n') + '\n');

const fixed = (v, d) => v.toFixed(d);
const table = ['# code\tmicroregion\tin 1991\tpopulation 1991\tpopulation 2000\tincome per head 1991\t' +
  'income per head 2000\tpoor % 1991\tpoor % 2000\tname'];
const mean = sum => sum[1] > 0 ? fixed(sum[0] / sum[1], 2) : 0;
for (const i of order) {
  const c = codes[i], s = sums[i], r = mun2000.get(c), old = in1994.has(c);
  table.push([c.slice(0, 6), r.id_microrregiao, old ? 1 : 0, old ? s.pop91 : 0, s.pop00,
    old ? mean(s.rpc91) : 0, mean(s.rpc00), old ? mean(s.poor91) : 0, mean(s.poor00),
    displayName(r.nome_municipio)].join('\t'));
}
fs.writeFileSync(path.join(outDir, 'municipalities.tsv'), table.join('\n') + '\n');

const total = k => sums.reduce((a, s) => a + s[k], 0);
report.push(`municipalities written: ${codes.length} (${codes.filter(c => in1994.has(c)).length} in 1991), ` +
  `borders: ${arcsOut.length}, points: ${topo.arcs.reduce((a, b) => a + b.length, 0)}`);
report.push(`population 1991: ${total('pop91')}, 2000: ${total('pop00')}`);
console.log(report.join('\n'));
fs.rmSync(work, { recursive: true, force: true });
