// A plain static file server for the built site on 127.0.0.1, counting the
// bytes it sends so the checks know what the page loaded. With
// `cacheSeconds` it lets the browser's HTTP cache keep what it sends, as a
// real host would; serveFrom() puts another build in its place.
import { createServer } from "node:http";
import { readFile } from "node:fs/promises";
import { extname, join, normalize } from "node:path";

const types = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".css": "text/css; charset=utf-8",
  ".wasm": "application/wasm",
  ".bmp": "image/bmp",
  ".wav": "audio/wav",
  ".ico": "image/x-icon",
  ".png": "image/png",
  ".webmanifest": "application/manifest+json",
};

export async function serveSite(site, { cacheSeconds = 0 } = {}) {
  let root = site;
  const served = [];
  const server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, "http://x").pathname));
    const file = join(root, path.endsWith("/") ? path + "index.html" : path);
    if (!file.startsWith(root)) {
      response.writeHead(403).end();
      return;
    }
    try {
      const body = await readFile(file);
      response.writeHead(200, { "Content-Type": types[extname(file)] || "application/octet-stream",
                                "Cache-Control": cacheSeconds ? `max-age=${cacheSeconds}` : "no-store" });
      response.end(body);
      served.push({ path, bytes: body.length });
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    served,
    serveFrom: (otherSite) => {
      root = otherSite;
    },
    close: () => new Promise((resolve) => server.close(resolve)),
  };
}
