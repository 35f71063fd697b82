#!/usr/bin/env node
// One-time conversion of the two npm sources into the small text files under
// data/ that the sample generator reads (the build never needs the network).
//
//   cd /tmp && npm pack @svg-maps/brazil cidades-estados-brasil-json
//   (unpack both), then:
//   node convert.js <svg-maps-brazil package dir> <cidades-estados-brasil-json package dir> <data dir>
//
// State outlines: @svg-maps/brazil (CC BY 4.0). The SVG paths use only
// relative "m" moves with implicit line-tos and "z"; the drawing is mapped to
// longitude/latitude with an affine fit of its bounding box on the mainland
// extent of the country.
// Municipality names: cidades-estados-brasil-json (ISC).
'use strict';
const fs = require('fs');
const path = require('path');

const [svgDir, citiesDir, outDir] = process.argv.slice(2);
if (!svgDir || !citiesDir || !outDir) {
  console.error('usage: node convert.js <svg-maps-brazil dir> <cidades-estados-brasil-json dir> <data dir>');
  process.exit(1);
}

const LON_WEST = -73.99, LON_EAST = -34.79, LAT_NORTH = 5.27, LAT_SOUTH = -33.75;

function parseRings(d) {
  const tokens = d.match(/[mMzZlL]|-?\d*\.?\d+(?:e-?\d+)?/g);
  const rings = [];
  let ring = null, x = 0, y = 0, startX = 0, startY = 0, cmd = null, absolute = false;
  for (let i = 0; i < tokens.length;) {
    const t = tokens[i];
    if (/^[a-zA-Z]$/.test(t)) {
      cmd = t.toLowerCase(); absolute = t !== cmd; i++;
      if (cmd === 'z') {
        if (ring) rings.push(ring);
        ring = null; x = startX; y = startY;
      }
      continue;
    }
    const dx = parseFloat(tokens[i]), dy = parseFloat(tokens[i + 1]);
    i += 2;
    if (cmd === 'm') {
      if (ring) rings.push(ring);
      x = absolute ? dx : x + dx; y = absolute ? dy : y + dy;
      startX = x; startY = y; ring = [[x, y]];
      cmd = 'l'; // further pairs after a move are line-tos
    } else if (cmd === 'l') {
      x = absolute ? dx : x + dx; y = absolute ? dy : y + dy;
      ring.push([x, y]);
    } else {
      throw new Error('unexpected path command ' + cmd);
    }
  }
  if (ring) rings.push(ring);
  return rings.filter(r => r.length >= 3);
}

const svgSource = fs.readFileSync(path.join(svgDir, 'index.js'), 'utf8').replace(/^export default\s*/, '');
const map = JSON.parse(svgSource.trim().replace(/;$/, ''));
const states = map.locations.map(l => ({ sigla: l.id.toUpperCase(), rings: parseRings(l.path) }));

let minX = Infinity, maxX = -Infinity, minY = Infinity, maxY = -Infinity;
for (const s of states) for (const r of s.rings) for (const [x, y] of r) {
  minX = Math.min(minX, x); maxX = Math.max(maxX, x);
  minY = Math.min(minY, y); maxY = Math.max(maxY, y);
}
const lon = x => LON_WEST + (x - minX) / (maxX - minX) * (LON_EAST - LON_WEST);
const lat = y => LAT_NORTH - (y - minY) / (maxY - minY) * (LAT_NORTH - LAT_SOUTH);

let outlines = '# State outlines in longitude/latitude, converted from @svg-maps/brazil (CC BY 4.0).\n' +
  '# "state <sigla>" starts a state; each "ring" line lists lon,lat pairs of one closed outline.\n';
for (const s of states.sort((a, b) => a.sigla.localeCompare(b.sigla))) {
  outlines += `state ${s.sigla}\n`;
  for (const r of s.rings) {
    outlines += 'ring ' + r.map(([x, y]) => `${lon(x).toFixed(4)},${lat(y).toFixed(4)}`).join(' ') + '\n';
  }
}
fs.writeFileSync(path.join(outDir, 'state_outlines.txt'), outlines);

const estados = JSON.parse(fs.readFileSync(path.join(citiesDir, 'Estados.json'), 'utf8'));
const cidades = JSON.parse(fs.readFileSync(path.join(citiesDir, 'Cidades.json'), 'utf8'));
const siglaById = new Map(estados.map(e => [e.ID, e.Sigla]));
// The source lists one name twice in one state; keep each name once.
const rows = [...new Map(cidades.map(c => [siglaById.get(c.Estado) + '\t' + c.Nome.trim(),
  [siglaById.get(c.Estado), c.Nome.trim()]])).values()];
rows.sort((a, b) => a[0].localeCompare(b[0]) || a[1].localeCompare(b[1], 'pt'));
let names = '# Municipality names per state, from cidades-estados-brasil-json (ISC): <sigla><TAB><name>\n';
for (const [sigla, nome] of rows) names += `${sigla}\t${nome}\n`;
fs.writeFileSync(path.join(outDir, 'municipality_names.txt'), names);
console.log(`${states.length} states, ${rows.length} municipalities; SVG box ${minX},${minY} .. ${maxX},${maxY}`);
